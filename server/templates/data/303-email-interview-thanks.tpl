# Pennova writing template (our own text)
id: 303
kind: high
category: 电子邮件|Emails
name: 邮件：面试后的感谢与跟进|Email after an interview
description: 适用于面试结束后一两天内发给面试官的感谢邮件。感谢对方的时间，重申对职位的兴趣，补充一两个优势，礼貌询问后续安排。
title: Thank You for the Interview for [标题中的职位，如 the Marketing Intern Position] || 感谢您就[标题中的职位，如 the Marketing Intern Position]对我进行面试

[block]
Dear [面试官，如 Ms. Chen], || 尊敬的[面试官，如 Ms. Chen]：

[block]
Thank you for meeting with me on [日期，如 Tuesday] to talk about [职位，如 the marketing intern position]. || 感谢您[日期，如 Tuesday]与我见面，谈[职位，如 the marketing intern position]一事。
I enjoyed learning more about your team and its work. || 我很高兴更多地了解了您的团队和工作。
[alternative]
I would like to thank you for the interview yesterday. || 感谢您昨天对我的面试。
It was a pleasure to meet you and your colleagues. || 很高兴见到您和您的同事们。

[block]
Our talk made me even more interested in this position. || 我们的谈话让我对这个职位更感兴趣了。
I was glad to hear that [细节，如 your team is planning a new campaign for young customers]. || 我很高兴听说[细节，如 your team is planning a new campaign for young customers]。
[alternative]
After the interview, I am sure that this job is the right one for me. || 面试之后，我确信这份工作正适合我。
I was especially interested in [细节，如 your plan to reach young customers online]. || 我对[细节，如 your plan to reach young customers online]特别感兴趣。

[block]
I believe my experience in [经历，如 running the social media account of our student club] will help me do this job well. || 我相信我在[经历，如 running the social media account of our student club]方面的经验能帮助我做好这份工作。
I am also a quick learner and enjoy working in a team. || 我学东西也很快，并且喜欢团队合作。

[block]
Please let me know if you need any more information from me. || 如果您还需要我提供任何信息，请告诉我。
I look forward to hearing about the next step. || 期待听到下一步的安排。

[block]
Kind regards, \n || 此致，\n
[姓名，如 Li Hua] || [姓名，如 Li Hua]

[common]
Thank you again for your time. || 再次感谢您的时间。
It was great to learn about your company. || 了解贵公司让我很受益。
I am excited about the chance to join your team. || 能有机会加入您的团队让我很兴奋。
I forgot to mention one thing during the interview. || 面试时我忘了提一件事。
I have attached a sample of my work. || 我附上了一份我的作品样本。
I am available to start in July. || 我七月份可以开始工作。
Please feel free to contact me at any time. || 请随时与我联系。
I hope to hear from you soon. || 希望很快收到您的消息。
